# Outside libraries, installed (Debian packages natively, the cross-built prefix or MSYS2
# packages for Windows) and found here; none of their code lives in this repository.

if(WIN32)
  set(ZLIB_USE_STATIC_LIBS ON)  # one self-contained exe
endif()
find_package(ZLIB REQUIRED)
find_package(JPEG REQUIRED)
find_package(PNG REQUIRED)
find_package(TIFF REQUIRED)
find_package(GIF 5 REQUIRED)

find_path(HPDF_INCLUDE_DIR hpdf.h)
find_library(HPDF_LIBRARY NAMES hpdf hpdfs libhpdf)
find_path(MINIZIP_INCLUDE_DIR zip.h PATH_SUFFIXES minizip)
find_library(MINIZIP_LIBRARY NAMES minizip)
if(HPDF_INCLUDE_DIR AND HPDF_LIBRARY AND NOT TARGET Ocelot::hpdf)
  add_library(Ocelot::hpdf UNKNOWN IMPORTED)
  set_target_properties(Ocelot::hpdf PROPERTIES IMPORTED_LOCATION ${HPDF_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${HPDF_INCLUDE_DIR}
    INTERFACE_LINK_LIBRARIES "PNG::PNG;ZLIB::ZLIB")
endif()
if(MINIZIP_INCLUDE_DIR AND MINIZIP_LIBRARY AND NOT TARGET Ocelot::minizip)
  add_library(Ocelot::minizip UNKNOWN IMPORTED)
  set_target_properties(Ocelot::minizip PROPERTIES IMPORTED_LOCATION ${MINIZIP_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${MINIZIP_INCLUDE_DIR}
    INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
endif()

if(OCELOT_TESTS)
  if(WIN32)
    # GoogleTest from Debian's source tree, built with the cross compiler.
    set(OCELOT_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${OCELOT_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    foreach(t gtest gtest_main gmock)
      if(NOT TARGET GTest::${t})
        add_library(GTest::${t} ALIAS ${t})
      endif()
    endforeach()
  else()
    find_package(GTest REQUIRED)
    include(GoogleTest)
    find_package(benchmark QUIET)
  endif()
endif()
