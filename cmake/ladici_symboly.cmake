# Run at install time (cmake -P) for one program: its debug information goes
# to ROOT/lib/debug/.build-id/xx/rest.debug, where gdb and debuginfod clients
# find it by the build id that the stripped program keeps.
#   -DPROGRAM=path -DROOT=prefix -DOBJCOPY=objcopy -DREADELF=readelf
execute_process(COMMAND ${READELF} -n ${PROGRAM} OUTPUT_VARIABLE poznamky COMMAND_ERROR_IS_FATAL ANY)
if(NOT poznamky MATCHES "Build ID: ([0-9a-f]+)")
  message(FATAL_ERROR "${PROGRAM} has no build id")
endif()
string(SUBSTRING ${CMAKE_MATCH_1} 0 2 adresar)
string(SUBSTRING ${CMAKE_MATCH_1} 2 -1 zbytek)
set(cil ${ROOT}/lib/debug/.build-id/${adresar}/${zbytek}.debug)
file(MAKE_DIRECTORY ${ROOT}/lib/debug/.build-id/${adresar})
execute_process(COMMAND ${OBJCOPY} --only-keep-debug --compress-debug-sections ${PROGRAM} ${cil}
                COMMAND_ERROR_IS_FATAL ANY)
# Debian installs detached debug files without the execute bits.
file(CHMOD ${cil} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
message(STATUS "Installing: ${cil}")
