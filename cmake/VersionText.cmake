# The version as the program shows it: "major.minor" with a two-digit minor, so 1.0 reads "1.00"
# and 1.5 reads "1.05". The four-part project() version stays the fixed version of the file.
function(glyphwright_version_text out_var major minor)
    if(NOT major MATCHES "^[0-9]+$" OR NOT minor MATCHES "^[0-9]+$")
        message(FATAL_ERROR "Version parts must be non-negative integers, got '${major}' and '${minor}'")
    endif()
    # Strip leading zeros so that "07" and "7" mean the same minor.
    math(EXPR major "${major}")
    math(EXPR minor "${minor}")
    if(minor GREATER 99)
        message(FATAL_ERROR "A minor version above 99 does not fit the two-digit form: ${minor}")
    endif()
    if(minor LESS 10)
        set(minor "0${minor}")
    endif()
    set(${out_var} "${major}.${minor}" PARENT_SCOPE)
endfunction()
