target_sources(setup_win32 PRIVATE WinControl.cpp ListWindow.cpp Form.cpp StdControls.cpp MessageDialog.cpp)
