qx_bench(paint_bench ${CMAKE_CURRENT_LIST_DIR}/paint_bench.cpp qx_chart qx_framework_gui)
