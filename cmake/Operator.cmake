# Operator values: the service this kit talks to. Every address and name an operator may
# change lives here, with its default; the build writes them into OperatorSettings.h.
# Point the kit at another service with -D<NAME>=value at configure time.
# Tests and the demo never use these defaults: they pass loopback addresses explicitly.
include_guard(GLOBAL)

set(MARVELLA_SERVER_IP "192.0.2.10" CACHE STRING "Default user-server IPv4 address (install.ini Server_IP)")
set(MARVELLA_SERVER_PORT "6667" CACHE STRING "Default user-server port (install.ini Server_Port)")
set(MARVELLA_SERVICE_MAIL_DOMAIN "marvella.es" CACHE STRING "Mail domain of the service's mailboxes")
set(MARVELLA_PORTAL_HOST "www.marvella.es" CACHE STRING "Host of the portal web server")
set(MARVELLA_WEB_SITE "www.marvella.es" CACHE STRING "Address of the service's web site, where the toolbar can be downloaded again")
set(MARVELLA_DEFAULT_ENTRY_NAME "Marvella" CACHE STRING "Default name of the user's own dial-up entry")
set(MARVELLA_DEFAULT_ACCESS_NUMBER "908909909" CACHE STRING "The service's default access number: the install.ini node dialled at it is the generic node (placeholder; the operator supplies the real one)")
set(MARVELLA_ACCESS_NODES "${CMAKE_CURRENT_LIST_DIR}/AccessNodes.tsv" CACHE FILEPATH "The service's access nodes, written into install.ini's [Nodes] (form: cmake/AccessNodes.tsv)")

configure_file(${CMAKE_CURRENT_LIST_DIR}/OperatorSettings.h.in
               ${CMAKE_BINARY_DIR}/generated/common/OperatorSettings.h @ONLY)
add_library(marvella_operator INTERFACE)
target_include_directories(marvella_operator INTERFACE ${CMAKE_BINARY_DIR}/generated)
