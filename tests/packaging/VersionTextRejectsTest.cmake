# Run with cmake -P: a minor version with three digits must stop the configuration.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/VersionText.cmake)
glyphwright_version_text(got 1 100)
message(STATUS "accepted 1.100 as '${got}'")
