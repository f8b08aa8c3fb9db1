# The Windows tests run under Wine on a virtual display. A fixture starts the session
# (Xvfb and a Wine prefix under the build folder) before them and stops it after.
set(OCELOT_WINE_TOOLS ${PROJECT_SOURCE_DIR}/tools/wine)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(OCELOT_WINE_ARCH win64)
else()
  set(OCELOT_WINE_ARCH win32)
endif()
add_test(NAME wine.session.start COMMAND ${OCELOT_WINE_TOOLS}/wine-session.sh start ${CMAKE_BINARY_DIR} ${OCELOT_WINE_ARCH})
add_test(NAME wine.session.stop COMMAND ${OCELOT_WINE_TOOLS}/wine-session.sh stop ${CMAKE_BINARY_DIR})
set_tests_properties(wine.session.start PROPERTIES FIXTURES_SETUP wine TIMEOUT 180)
set_tests_properties(wine.session.stop PROPERTIES FIXTURES_CLEANUP wine)

# Every Windows test: run through wine-run.sh, inside the session fixture.
function(ocelot_wine_test name)
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine
    ENVIRONMENT "OCELOT_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()
