qx_bench(chart_bench ${CMAKE_CURRENT_LIST_DIR}/chart_bench.cpp qx_chart qx_framework_gui)
