qx_bench(model_bench ${CMAKE_CURRENT_LIST_DIR}/model_bench.cpp qx_chart)
