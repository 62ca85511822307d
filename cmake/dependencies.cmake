# Third-party parts, all from Debian's packages, built or exposed for MinGW.

# GoogleTest, compiled by MinGW from Debian's sources.
set(GLIMRA_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${GLIMRA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# nlohmann/json is header-only. Only its own headers are exposed: adding the host's
# /usr/include to a MinGW build would mix Linux headers into Windows code.
set(GLIMRA_JSON_INCLUDE ${CMAKE_BINARY_DIR}/third_party/include)
file(COPY /usr/include/nlohmann DESTINATION ${GLIMRA_JSON_INCLUDE})
add_library(nlohmann_json INTERFACE)
target_include_directories(nlohmann_json SYSTEM INTERFACE ${GLIMRA_JSON_INCLUDE})
