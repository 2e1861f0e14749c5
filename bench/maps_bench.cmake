# The map list benchmark's program, built on request only: cmake --build <dir> --target
# maps_bench. scripts/bench-maps.sh builds it in Release, makes its files and runs it.
add_executable(maps_bench EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/maps_bench.cpp)
# libzip's own opening of an archive is timed apart, where there is libzip.
target_link_libraries(maps_bench PRIVATE brx_library brx_zip)
