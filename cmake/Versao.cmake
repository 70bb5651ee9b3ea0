# The program's version, written into gerado/versao.h at configure time: the project version, the
# git commit of the source (empty when the source is not a git checkout or git is missing), and
# the versions of the libraries that do not report their own at run time. VENTARO_DATA_COMMIT is
# the commit's date (YYYY-MM-DD), the release date of the desktop metadata.
find_package(Git QUIET)
set(VENTARO_COMMIT "")
set(VENTARO_DATA_COMMIT "")
if(GIT_FOUND)
    execute_process(
        COMMAND ${GIT_EXECUTABLE} rev-parse --short=12 HEAD
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        RESULT_VARIABLE resultado_git
        OUTPUT_VARIABLE VENTARO_COMMIT
        OUTPUT_STRIP_TRAILING_WHITESPACE
        ERROR_QUIET)
    if(NOT resultado_git EQUAL 0)
        set(VENTARO_COMMIT "")
    else()
        execute_process(
            COMMAND ${GIT_EXECUTABLE} log -1 --format=%cs
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE VENTARO_DATA_COMMIT
            OUTPUT_STRIP_TRAILING_WHITESPACE
            ERROR_QUIET)
        # Every commit or checkout appends to the HEAD log: configure again so that the commit
        # shown is the one built.
        execute_process(
            COMMAND ${GIT_EXECUTABLE} rev-parse --path-format=absolute --git-path logs/HEAD
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE registro_head
            OUTPUT_STRIP_TRAILING_WHITESPACE
            ERROR_QUIET)
        if(registro_head AND EXISTS "${registro_head}")
            set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${registro_head}")
        endif()
    endif()
endif()

# QCustomPlot states its version only in its header, which is slow to compile: read it here.
set(VENTARO_VERSAO_QCUSTOMPLOT "")
if(VENTARO_GUI)
    find_file(VENTARO_QCUSTOMPLOT_H qcustomplot.h)
    if(VENTARO_QCUSTOMPLOT_H)
        file(STRINGS ${VENTARO_QCUSTOMPLOT_H} linha_versao
             REGEX "^#define QCUSTOMPLOT_VERSION_STR \"[^\"]*\"")
        string(REGEX REPLACE ".*\"([^\"]*)\".*" "\\1" VENTARO_VERSAO_QCUSTOMPLOT "${linha_versao}")
    endif()
endif()
pkg_check_modules(VENTARO_GLIB QUIET glib-2.0)

configure_file(${CMAKE_CURRENT_LIST_DIR}/versao.h.in ${PROJECT_BINARY_DIR}/gerado/versao.h @ONLY)
add_library(ventaro_versao INTERFACE)
target_include_directories(ventaro_versao INTERFACE ${PROJECT_BINARY_DIR}/gerado)
