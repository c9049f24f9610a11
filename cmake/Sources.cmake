# Sources are gathered by folder, so a new file joins its layer by being put there.
file(GLOB MUROVEX_CORE_SOURCES CONFIGURE_DEPENDS
  src/app/*.cpp src/inventory/*.cpp src/wallpaper/*.cpp src/slideshow/*.cpp src/adding/*.cpp
  src/ui/*.cpp src/forms/*.cpp src/platform/*.cpp src/fileops/*.cpp src/monitors/*.cpp src/control/*.cpp)
file(GLOB MUROVEX_FAKE_SOURCES CONFIGURE_DEPENDS tests/fakes/*.cpp)
file(GLOB MUROVEX_UNIT_TEST_SOURCES CONFIGURE_DEPENDS tests/unit/*_test.cpp)
file(GLOB MUROVEX_CONTRACT_TEST_SOURCES CONFIGURE_DEPENDS tests/contract/*.cpp)
file(GLOB MUROVEX_WIN32_SOURCES CONFIGURE_DEPENDS src/win32/adapters/*.cpp src/win32/views/*.cpp)
file(GLOB MUROVEX_WIN32_TEST_SOURCES CONFIGURE_DEPENDS tests/win32/*.cpp)
file(GLOB MUROVEX_E2E_SOURCES CONFIGURE_DEPENDS tests/e2e/*.cpp)
file(GLOB MUROVEX_BENCH_SOURCES CONFIGURE_DEPENDS bench/bench_*.cpp)
# What the native benchmarks share: every other source file in bench/.
file(GLOB MUROVEX_BENCH_SUPPORT_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
if(MUROVEX_BENCH_SOURCES)
  list(REMOVE_ITEM MUROVEX_BENCH_SUPPORT_SOURCES ${MUROVEX_BENCH_SOURCES})
endif()
set(MUROVEX_FUZZ_TARGETS)
file(GLOB fuzz_files CONFIGURE_DEPENDS fuzz/fuzz_*.cpp)
foreach(f ${fuzz_files})
  get_filename_component(n ${f} NAME_WE)
  string(REPLACE "fuzz_" "" n ${n})
  list(APPEND MUROVEX_FUZZ_TARGETS ${n})
endforeach()
