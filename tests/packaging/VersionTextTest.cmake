# Run with cmake -P: checks the "major.minor" text derived from project() versions.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/VersionText.cmake)

function(expect major minor want)
    glyphwright_version_text(got ${major} ${minor})
    if(NOT got STREQUAL want)
        message(SEND_ERROR "${major}.${minor}: expected '${want}', got '${got}'")
    endif()
endfunction()

expect(1 0 "1.00")
expect(1 5 "1.05")
expect(1 10 "1.10")
expect(2 99 "2.99")
expect(0 07 "0.07")
expect(10 1 "10.01")
