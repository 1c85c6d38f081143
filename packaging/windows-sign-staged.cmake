# Run by CPack after it has staged the installation and before it packs it into the NSIS installer and the zip: the
# programs and libraries are signed there as they are in the runnable folder (scripts/windows-sign; unsigned, with a
# note, when no certificate is given).
file(GLOB_RECURSE orva_staged_binaries "${CPACK_TEMPORARY_DIRECTORY}/*.exe" "${CPACK_TEMPORARY_DIRECTORY}/*.dll")
execute_process(COMMAND "${CPACK_ORVA_WINDOWS_SIGN}" ${orva_staged_binaries} RESULT_VARIABLE orva_sign_result)
if(NOT orva_sign_result EQUAL 0)
    message(FATAL_ERROR "The staged programs could not be signed")
endif()
