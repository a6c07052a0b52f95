qx_bench(commands_bench ${CMAKE_CURRENT_LIST_DIR}/commands_bench.cpp qx_scanner qx_sim qx_chart)
