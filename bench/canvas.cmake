qx_bench(canvas_bench ${CMAKE_CURRENT_LIST_DIR}/canvas_bench.cpp qx_chart qx_framework_gui)
