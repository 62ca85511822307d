# Helpers shared by every folder's CMakeLists.

set(GLIMRA_TOOLS ${CMAKE_SOURCE_DIR}/tools)

# A resource-only library: built from one .rc file, no code, no entry point.
function(glimra_resource_library name rc_file)
  add_library(${name} SHARED ${rc_file})
  set_target_properties(${name} PROPERTIES PREFIX "" LINKER_LANGUAGE C)
  target_link_options(${name} PRIVATE -nostdlib -Wl,--entry=0)
endfunction()

# A GoogleTest program run under Wine. Each test case becomes one CTest test,
# named "<arch>/<Suite>.<Case>", so that both trees can be run together; a VARIANT
# (for tests built twice) makes it "<arch>/<variant>/<Suite>.<Case>".
#   glimra_add_gtest(NAME <target> SOURCES ... [LIBS ...] [TIMEOUT s] [VARIANT v]
#                    [PROPERTIES ...])
function(glimra_add_gtest)
  cmake_parse_arguments(T "" "NAME;TIMEOUT;VARIANT" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main)
  set(prefix "${GLIMRA_ARCH}/")
  if(T_VARIANT)
    set(prefix "${GLIMRA_ARCH}/${T_VARIANT}/")
  endif()
  gtest_discover_tests(${T_NAME}
    TEST_PREFIX "${prefix}"
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${T_TIMEOUT} ${T_PROPERTIES})
endfunction()

include(GoogleTest)

# A test (run natively, not under Wine) that a shipped binary has the machine and
# subsystem it must have and imports only Windows system DLLs and those allowed.
#   glimra_check_binary(<target> [SUBSYSTEM gui|console] [ALLOW x.dll ...])
function(glimra_check_binary target)
  cmake_parse_arguments(C "" "SUBSYSTEM" "ALLOW" ${ARGN})
  if(GLIMRA_ARCH STREQUAL i686)
    set(args --machine i386)
  else()
    set(args --machine x86-64)
  endif()
  if(C_SUBSYSTEM)
    list(APPEND args --subsystem ${C_SUBSYSTEM})
  endif()
  foreach(dll ${C_ALLOW})
    list(APPEND args --allow ${dll})
  endforeach()
  add_test(NAME ${GLIMRA_ARCH}/binary/${target}
           COMMAND ${GLIMRA_TOOLS}/check-binary ${args} $<TARGET_FILE:${target}>)
endfunction()

# The fake account service of testing/services: a test that talks to it requires the
# fixture that starts it and finds its port in the file its environment names.
set(GLIMRA_ACCOUNT_SERVICE_PORT_FILE ${CMAKE_BINARY_DIR}/account-service.port)
set(GLIMRA_ACCOUNT_SERVICE_TEST_PROPERTIES
    FIXTURES_REQUIRED account_service_${GLIMRA_ARCH}
    ENVIRONMENT GLIMRA_ACCOUNT_SERVICE_PORT_FILE=${GLIMRA_ACCOUNT_SERVICE_PORT_FILE})
