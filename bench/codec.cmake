qx_bench(codec_bench ${CMAKE_CURRENT_LIST_DIR}/codec_bench.cpp qx_scanner)
# The reply frames come from the tests' scanner kit, built independently of the codec.
target_include_directories(codec_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
