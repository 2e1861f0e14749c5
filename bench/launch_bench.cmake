# The launch benchmark, built on request only: cmake --build <dir> --target launch_bench.
# scripts/bench-launch.sh builds it in Release and runs it. Not a test: it prints figures.
if(UNIX)
    add_executable(launch_bench_engine EXCLUDE_FROM_ALL
                   ${CMAKE_CURRENT_LIST_DIR}/launch_bench_engine.cpp)
    set_target_properties(launch_bench_engine PROPERTIES AUTOMOC OFF AUTORCC OFF)
    # Linked statically where it can be, so that its start is the kernel's exec and little else.
    if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT BRX_SANITIZE)
        target_link_options(launch_bench_engine PRIVATE -static)
    endif()

    add_executable(launch_bench EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/launch_bench.cpp)
    target_link_libraries(launch_bench PRIVATE brx_launch)
    target_compile_definitions(launch_bench PRIVATE
                               BRX_BENCH_ENGINE="$<TARGET_FILE:launch_bench_engine>")
    add_dependencies(launch_bench launch_bench_engine)
endif()
