qx_bench(codec_bench ${CMAKE_CURRENT_LIST_DIR}/codec_bench.cpp qx_scanner)
