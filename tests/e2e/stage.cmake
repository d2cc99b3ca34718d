# Copies the programs under test into C:\ruvex-e2e of the Wine prefix, where the e2e driver finds them.
if(NOT DEFINED ENV{WINEPREFIX})
    message(FATAL_ERROR "WINEPREFIX is not set: run the tests through scripts/test")
endif()
set(stage "$ENV{WINEPREFIX}/drive_c/ruvex-e2e")
file(REMOVE_RECURSE "${stage}")
file(MAKE_DIRECTORY "${stage}")
foreach(f "${RUVEX}" "${SETUP}" "${SERVICE}")
    if(f)
        file(COPY "${f}" DESTINATION "${stage}")
    endif()
endforeach()
if(EXISTS "${HELP}")
    file(COPY "${HELP}" DESTINATION "${stage}")
endif()
if(EXISTS "${SAMPLE}")
    file(COPY "${SAMPLE}/" DESTINATION "${stage}/sample")
endif()

# Links that a Windows program cannot make under Wine, for the uninstall of hostile records: recorded
# folders replaced by a link to a folder of victims, and by a link to an empty folder.
set(links "${stage}/links")
file(MAKE_DIRECTORY "${links}/victims" "${links}/empty-target" "${links}/app")
file(CREATE_LINK ../victims "${links}/app/lib" SYMBOLIC)
file(CREATE_LINK ../empty-target "${links}/app/empty" SYMBOLIC)

# A real installer that writes to the registry, built from its script (NSIS, installed by scripts/setup-env).
find_program(MAKENSIS makensis REQUIRED)
execute_process(COMMAND "${MAKENSIS}" -V2 "-DOUT=${stage}/regapp-setup.exe" "${REGAPP}" RESULT_VARIABLE built)
if(NOT built EQUAL 0)
    message(FATAL_ERROR "makensis could not build ${REGAPP}")
endif()
