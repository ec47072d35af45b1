# Drawing, zoom, labels and the target window itself.
omr_add_test(target_view_painter_test SOURCES view_painter_test.cpp LIBS omr_target_core)
omr_add_test(target_view_zoom_test SOURCES view_zoom_test.cpp LIBS omr_target_core)
omr_add_test(target_view_labels_test SOURCES view_labels_test.cpp LIBS omr_target_core)
omr_add_test(target_view_model_test SOURCES view_model_test.cpp LIBS omr_target_core)
omr_add_test(target_view_widget_test GUI SOURCES view_widget_test.cpp LIBS omr_target)
