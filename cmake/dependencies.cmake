# minizip reads the archives, over zlib. For Windows it is built from the
# contrib/minizip sources of Debian's zlib source package (scripts/setup
# fetches them); natively it is Debian's libminizip.
if(WIN32)
  set(TESSARY_MINIZIP_SOURCE ${CMAKE_SOURCE_DIR}/third_party/zlib/contrib/minizip
      CACHE PATH "minizip sources")
  if(NOT EXISTS ${TESSARY_MINIZIP_SOURCE}/unzip.c)
    message(FATAL_ERROR "minizip sources not found in ${TESSARY_MINIZIP_SOURCE}; run scripts/setup")
  endif()
  find_library(TESSARY_ZLIB NAMES libz.a REQUIRED)
  add_library(minizip STATIC ${TESSARY_MINIZIP_SOURCE}/unzip.c ${TESSARY_MINIZIP_SOURCE}/ioapi.c)
  target_include_directories(minizip SYSTEM PUBLIC ${TESSARY_MINIZIP_SOURCE})
  target_compile_options(minizip PRIVATE -w)
  target_link_libraries(minizip PUBLIC ${TESSARY_ZLIB})
  # The writer half, for tests that make archives.
  add_library(minizip_writer STATIC EXCLUDE_FROM_ALL ${TESSARY_MINIZIP_SOURCE}/zip.c)
  target_compile_options(minizip_writer PRIVATE -w)
  target_link_libraries(minizip_writer PUBLIC minizip)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET minizip)
  find_package(ZLIB REQUIRED)
  add_library(minizip INTERFACE)
  target_link_libraries(minizip INTERFACE PkgConfig::MINIZIP ZLIB::ZLIB)
  add_library(minizip_writer INTERFACE)
  target_link_libraries(minizip_writer INTERFACE minizip)
endif()

if(TESSARY_FUZZ OR TESSARY_BENCH)
  return()
endif()

# GoogleTest comes from Debian's source copy, built for whichever target this
# tree is configured for.
set(TESSARY_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${TESSARY_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${TESSARY_GOOGLETEST_SOURCE}; run scripts/setup")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${TESSARY_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
