# Native build: the core, its tests through fakes, fuzz targets, benchmarks.
add_library(murovex_fakes STATIC ${MUROVEX_FAKE_SOURCES})
target_include_directories(murovex_fakes PUBLIC src tests)
target_link_libraries(murovex_fakes PUBLIC murovex_core)
target_compile_options(murovex_fakes PRIVATE ${MUROVEX_WARNINGS})

if(MUROVEX_TESTS)
  find_package(GTest REQUIRED)
  add_executable(unit_tests ${MUROVEX_UNIT_TEST_SOURCES} ${MUROVEX_CONTRACT_TEST_SOURCES} tests/unit/fake_contracts.cpp)
  target_include_directories(unit_tests PRIVATE tests)
  target_link_libraries(unit_tests PRIVATE murovex_fakes GTest::gtest GTest::gtest_main)
  target_compile_options(unit_tests PRIVATE ${MUROVEX_WARNINGS})
  add_test(NAME unit_tests COMMAND unit_tests --gtest_brief=1)
endif()

if(MUROVEX_FUZZ)
  foreach(target ${MUROVEX_FUZZ_TARGETS})
    add_executable(fuzz_${target} fuzz/fuzz_${target}.cpp)
    target_link_libraries(fuzz_${target} PRIVATE murovex_core)
    target_compile_options(fuzz_${target} PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
    target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer,address,undefined)
    # New inputs go to the first folder, in the build tree; the seeds are only read.
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/corpus_${target})
    # Inputs may pass 64 KiB, where the settings file's own limit lies.
    add_test(NAME fuzz_${target} COMMAND fuzz_${target} -max_total_time=10 -rss_limit_mb=2048 -max_len=100000
             ${CMAKE_BINARY_DIR}/corpus_${target} ${CMAKE_SOURCE_DIR}/fuzz/corpus_${target})
  endforeach()
endif()

if(MUROVEX_BENCH)
  find_package(benchmark REQUIRED)
  add_library(murovex_bench_support STATIC ${MUROVEX_BENCH_SUPPORT_SOURCES})
  target_link_libraries(murovex_bench_support PUBLIC murovex_core)
  target_compile_options(murovex_bench_support PRIVATE ${MUROVEX_WARNINGS})
  foreach(b ${MUROVEX_BENCH_SOURCES})
    get_filename_component(name ${b} NAME_WE)
    add_executable(${name} ${b})
    target_include_directories(${name} PRIVATE tests bench)
    target_link_libraries(${name} PRIVATE murovex_bench_support murovex_fakes benchmark::benchmark
                          benchmark::benchmark_main)
  endforeach()
endif()
