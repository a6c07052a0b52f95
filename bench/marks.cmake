qx_bench(marks_bench ${CMAKE_CURRENT_LIST_DIR}/marks_bench.cpp qx_chart qx_framework_gui)
