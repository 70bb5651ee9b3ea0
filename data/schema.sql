-- Station database (bd.sqlite). Table and column names are the ones the program writes in its
-- statements; SQLite resolves them without regard to case, as the program expects.
--
-- EstacaoPrec and EstacaoClima are filled with "insert into ... values (...)" without a column
-- list, so their column order is part of the format. ParamRegiao is read with "select *" and its
-- twelve values are taken by position (columns 5 to 16, depth classes 0 to 11).
--
-- DadosPrec and DadosClima carry no unique key on (CodEstacao, Mes): the loaders themselves
-- refuse a station whose month is missing or repeated, and say which month.

create table EstacaoPrec (
    CodEstacao integer not null primary key,
    Nome text,
    Municipio text,
    Regiao integer,
    Latitude real,
    Longitude real,
    Altitude real,
    NumAnos integer
);

create table DadosPrec (
    CodEstacao integer not null,
    Mes integer not null,
    XPrec real,
    SPrec real,
    SkewPrec real,
    PCC real,
    PCS real,
    DUmidos integer,
    DSecos integer
);
create index DadosPrecEstacaoMes on DadosPrec (CodEstacao, Mes);

-- Year-to-year variability of a rainfall station's record, twelve rows per station beside its
-- DadosPrec rows: for each month the mean (XTotal) and sample standard deviation (STotal) of the
-- month's totals over the record's years, and the sample covariance of those totals with the
-- annual totals (CovTotalAnual; the twelve add up to the variance of the annual totals).
-- Stations imported before this table existed have no rows. The program creates the table in
-- older databases the first time it writes a rainfall station.
create table TotaisPrec (
    CodEstacao integer not null,
    Mes integer not null,
    XTotal real,
    STotal real,
    CovTotalAnual real
);
create index TotaisPrecEstacaoMes on TotaisPrec (CodEstacao, Mes);

create table EstacaoClima (
    CodEstacao integer not null primary key,
    Nome text,
    Municipio text,
    Regiao integer,
    Latitude real,
    Longitude real,
    Altitude real,
    NumAnos integer,
    XResJanTMax real,
    XResJanTMin real,
    XResJanRad real
);

create table DadosClima (
    CodEstacao integer not null,
    Mes integer not null,
    XTMaxSe real, XTMaxCh real, STMaxSe real, STMaxCh real,
    XTMinSe real, XTMinCh real, STMinSe real, STMinCh real,
    XRadSe real, XRadCh real, SRadSe real, SRadCh real,
    MatrizA11 real, MatrizA12 real, MatrizA13 real,
    MatrizA21 real, MatrizA22 real, MatrizA23 real,
    MatrizA31 real, MatrizA32 real, MatrizA33 real,
    MatrizB11 real, MatrizB12 real, MatrizB13 real,
    MatrizB21 real, MatrizB22 real, MatrizB23 real,
    MatrizB31 real, MatrizB32 real, MatrizB33 real,
    XVVentoSe real, SVVentoSe real, SkewVVentoSe real,
    XVVentoCh real, SVVentoCh real, SkewVVentoCh real,
    XUmidSe real, XUmidCh real, SUmidSe real, SUmidCh real,
    DUmidos integer,
    DSecos integer
);
create index DadosClimaEstacaoMes on DadosClima (CodEstacao, Mes);

-- One row per region, parameter type (1 shape and 2 scale of storm duration, 3 shape and 4
-- scale of peak intensity, 5 mean normalised time to peak) and month. Ordem is a free
-- bookkeeping column the program never reads; Classe0 ... Classe11 are the values for the
-- depth classes 0 ... 11.
create table ParamRegiao (
    CodRegiao integer not null,
    TipoParametro integer not null,
    Mes integer not null,
    Ordem integer not null default 0,
    Classe0 real, Classe1 real, Classe2 real, Classe3 real,
    Classe4 real, Classe5 real, Classe6 real, Classe7 real,
    Classe8 real, Classe9 real, Classe10 real, Classe11 real,
    primary key (CodRegiao, TipoParametro, Mes)
);

create table Estado (
    Codigo integer not null primary key,
    Nome text
);

-- Rainfall station (EstacaoPrec.CodEstacao) to state (Estado.Codigo).
create table Estacao (
    Codigo integer not null primary key,
    CodEstado integer not null
);
create index EstacaoEstado on Estacao (CodEstado);
