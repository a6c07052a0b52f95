qx_bench(live_bench ${CMAKE_CURRENT_LIST_DIR}/live_bench.cpp qx_ui)
