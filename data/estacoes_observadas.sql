-- States of the rainfall stations imported from ANA's observations (observacoes/ana), in this
-- sample's own state numbering (estados.sql). 447002 is already listed there.
insert into Estacao (Codigo, CodEstado) values (2345024, 25);
insert into Estacao (Codigo, CodEstado) values (2345106, 25);
insert into Estacao (Codigo, CodEstado) values (2447049, 25);
