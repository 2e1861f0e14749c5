# The game library benchmark, built on request only: cmake --build <dir> --target
# library_bench. scripts/bench-library.sh builds it in Release and runs it. Not a test: it
# prints figures. It opens the setup dialog on the test kit's scripted platform, so it needs
# the tests configured.
if(UNIX AND BRX_TESTS)
    add_executable(library_bench EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/library_bench.cpp)
    target_link_libraries(library_bench PRIVATE brx_test_rig)
endif()
