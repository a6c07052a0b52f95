qx_bench(pan_bench ${CMAKE_CURRENT_LIST_DIR}/pan_bench.cpp qx_chart qx_framework_gui)
