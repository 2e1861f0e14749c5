# The game library benchmark, built on request only: cmake --build <dir> --target
# library_bench. scripts/bench-library.sh builds it in Release and runs it. Not a test: it
# prints figures.
if(UNIX)
    add_executable(library_bench EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/library_bench.cpp)
    target_link_libraries(library_bench PRIVATE brx_discovery)
endif()
