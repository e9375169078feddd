# The writer library, shared by the main build and the clang fuzz build.
# Needs ZLIB::ZLIB and PkgConfig::LZO2 to exist.
set(_vorn_writer_dir ${CMAKE_CURRENT_LIST_DIR})
add_library(vorn_test_writer STATIC
  ${_vorn_writer_dir}/VornWriter.cpp
  ${_vorn_writer_dir}/VornTreePlan.cpp
  ${_vorn_writer_dir}/VornWriterUtil.cpp
)
target_include_directories(vorn_test_writer PUBLIC
  ${_vorn_writer_dir}
  ${_vorn_writer_dir}/../../src)
target_link_libraries(vorn_test_writer PUBLIC ZLIB::ZLIB PkgConfig::LZO2)
