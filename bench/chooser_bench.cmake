# The file chooser benchmark's programs, built on request only: cmake --build <dir> --target
# chooser_bench clickwatch. scripts/bench-chooser.sh builds them in Release and runs them.
# chooser_bench is the launcher itself with a driver; clickwatch times, from outside and
# without Qt, how long a window takes to come up once asked for.
if(UNIX)
    add_executable(chooser_bench EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/chooser_bench.cpp)
    target_link_libraries(chooser_bench PRIVATE brx_app)

    find_package(X11 QUIET)
    if(X11_FOUND)
        add_executable(clickwatch EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/clickwatch.cpp)
        set_target_properties(clickwatch PROPERTIES AUTOMOC OFF AUTORCC OFF AUTOUIC OFF)
        target_link_libraries(clickwatch PRIVATE X11::X11)
    endif()
endif()
