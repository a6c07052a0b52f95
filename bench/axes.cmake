qx_bench(axes_bench ${CMAKE_CURRENT_LIST_DIR}/axes_bench.cpp qx_chart qx_framework_gui)
