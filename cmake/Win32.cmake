# Cross build: adapters, views, murovex.exe, and the programs run under Wine.
enable_language(RC)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)

# COM, the imaging component and the file dialogs are loaded by the adapters
# when first used (late_libraries.h); the common controls through a
# delay-load import library.
include(cmake/DelayImport.cmake)
murovex_delay_import(comctl32 MUROVEX_COMCTL32)
set(MUROVEX_WIN32_LIBS ${MUROVEX_COMCTL32} ole32 oleaut32 uuid shell32 shlwapi version
    windowscodecs gdi32 user32 advapi32 comdlg32)

add_library(murovex_win32 STATIC ${MUROVEX_WIN32_SOURCES})
target_include_directories(murovex_win32 PUBLIC src)
target_link_libraries(murovex_win32 PUBLIC murovex_core ${MUROVEX_WIN32_LIBS})
target_compile_options(murovex_win32 PRIVATE ${MUROVEX_WARNINGS})
if(TARGET comctl32_delay)
  add_dependencies(murovex_win32 comctl32_delay)
endif()

# The one version number, from project(): the version resource (whose texts
# the program reads back), the packages' names and the installer's entry.
set(MUROVEX_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
string(TIMESTAMP MUROVEX_BUILD_DATE "%Y-%m-%d")
configure_file(res/version.h.in ${CMAKE_BINARY_DIR}/generated/version.h @ONLY)
set_source_files_properties(res/murovex.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/murovex.manifest;${CMAKE_SOURCE_DIR}/res/murovex.ico;${CMAKE_BINARY_DIR}/generated/version.h")
add_executable(murovex WIN32 src/win32/main.cpp res/murovex.rc)
target_include_directories(murovex PRIVATE ${CMAKE_BINARY_DIR}/generated res)
target_link_libraries(murovex PRIVATE murovex_win32)
target_compile_options(murovex PRIVATE ${MUROVEX_WARNINGS})
set_target_properties(murovex PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/app)
# The program is shipped as built here: optimised (the preset's Release), one
# static exe, and without symbols.
if(MINGW)
  target_link_options(murovex PRIVATE -s)
endif()
add_custom_command(TARGET murovex POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/help ${CMAKE_BINARY_DIR}/app/help)

# The portable zip and the per-user installer (tools/package.sh makes the
# same into dist/).
set(MUROVEX_DIST ${CMAKE_BINARY_DIR}/dist)
set(MUROVEX_ZIP ${MUROVEX_DIST}/murovex-${MUROVEX_VERSION}-win64.zip)
set(MUROVEX_SETUP ${MUROVEX_DIST}/murovex-${MUROVEX_VERSION}-setup.exe)
file(GLOB MUROVEX_HELP_FILES CONFIGURE_DEPENDS help/*)
file(GLOB MUROVEX_PACKAGE_FILES CONFIGURE_DEPENDS package/*)
add_custom_command(OUTPUT ${MUROVEX_ZIP} ${MUROVEX_SETUP}
  COMMAND bash ${CMAKE_SOURCE_DIR}/package/make_packages.sh $<TARGET_FILE:murovex> ${MUROVEX_VERSION} ${MUROVEX_DIST}
  DEPENDS murovex ${MUROVEX_HELP_FILES} ${MUROVEX_PACKAGE_FILES} res/murovex.ico
  COMMENT "Packaging Murovex ${MUROVEX_VERSION}"
  VERBATIM)
add_custom_target(packages ALL DEPENDS ${MUROVEX_ZIP} ${MUROVEX_SETUP})

if(MUROVEX_TESTS)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  # The tests carry the program's manifest (UTF-8 code page) and their own main,
  # which also plays the second process of the single-instance tests.
  set_source_files_properties(tests/win32/win32_tests.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/murovex.manifest;${CMAKE_SOURCE_DIR}/res/murovex.ico")
  add_executable(win32_tests ${MUROVEX_WIN32_TEST_SOURCES} ${MUROVEX_CONTRACT_TEST_SOURCES} tests/win32/win32_tests.rc)
  target_include_directories(win32_tests PRIVATE tests res)
  target_link_libraries(win32_tests PRIVATE murovex_win32 gtest)
  target_compile_options(win32_tests PRIVATE ${MUROVEX_WARNINGS})
  add_test(NAME win32_tests COMMAND win32_tests --gtest_brief=1 --gtest_filter=-HighDpi*)
  # The same windows on a screen at 192 DPI, in a fresh prefix of their own
  # so that the shared one stays at 96.
  add_test(NAME win32_high_dpi COMMAND win32_tests --gtest_brief=1 --gtest_filter=HighDpi*)
  set_tests_properties(win32_high_dpi PROPERTIES ENVIRONMENT "MUROVEX_FRESH_PREFIX=1;MUROVEX_LOG_PIXELS=192")

  add_executable(e2e_tests ${MUROVEX_E2E_SOURCES})
  target_include_directories(e2e_tests PRIVATE tests)
  target_link_libraries(e2e_tests PRIVATE murovex_core gtest ${MUROVEX_WIN32_LIBS})
  target_compile_options(e2e_tests PRIVATE ${MUROVEX_WARNINGS})
  add_dependencies(e2e_tests murovex)
  add_test(NAME e2e_tests COMMAND e2e_tests --gtest_brief=1)
  set_tests_properties(e2e_tests PROPERTIES ENVIRONMENT "MUROVEX_APP_DIR=${CMAKE_BINARY_DIR}/app" TIMEOUT 900)
  # The windows as seen on a screen at 192 DPI, in a fresh prefix of their own.
  add_test(NAME e2e_high_dpi COMMAND e2e_tests --gtest_brief=1 --gtest_filter=Screens.*)
  set_tests_properties(e2e_high_dpi PROPERTIES TIMEOUT 300 ENVIRONMENT
    "MUROVEX_APP_DIR=${CMAKE_BINARY_DIR}/app;MUROVEX_FRESH_PREFIX=1;MUROVEX_LOG_PIXELS=192")
  # Two monitors side by side, on a nested X server of two heads.
  add_test(NAME e2e_two_monitors COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/two_monitors.sh
    ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh $<TARGET_FILE:e2e_tests> --gtest_brief=1 --gtest_filter=TwoMonitors.*)
  set_tests_properties(e2e_two_monitors PROPERTIES TIMEOUT 200 ENVIRONMENT "MUROVEX_APP_DIR=${CMAKE_BINARY_DIR}/app")

  # The packages: installed, run, upgraded and uninstalled in a fresh prefix;
  # the zip's contents listed and checked.
  add_executable(package_tests tests/package/install_test.cpp tests/e2e/e2e_main.cpp tests/e2e/process.cpp
                 tests/e2e/pump.cpp tests/e2e/app_folder.cpp)
  target_include_directories(package_tests PRIVATE tests)
  target_link_libraries(package_tests PRIVATE gtest ${MUROVEX_WIN32_LIBS})
  target_compile_options(package_tests PRIVATE ${MUROVEX_WARNINGS})
  add_dependencies(package_tests packages)
  add_test(NAME package_install COMMAND package_tests --gtest_brief=1)
  set_tests_properties(package_install PROPERTIES TIMEOUT 300 ENVIRONMENT
    "MUROVEX_FRESH_PREFIX=1;MUROVEX_SETUP=${MUROVEX_SETUP};MUROVEX_VERSION=${MUROVEX_VERSION}")
  add_test(NAME package_zip COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/zip_contents_test.sh
    ${MUROVEX_ZIP} ${MUROVEX_VERSION} $<TARGET_FILE:murovex> ${CMAKE_SOURCE_DIR}/help)

  add_executable(bench_trace bench/win32/bench_trace.cpp)
  target_link_libraries(bench_trace PRIVATE murovex_win32)
  target_compile_options(bench_trace PRIVATE ${MUROVEX_WARNINGS})

  # A change of wallpaper on two 4K monitors against decoding its pictures.
  add_executable(bench_monitors bench/win32/bench_monitors.cpp)
  target_link_libraries(bench_monitors PRIVATE murovex_win32 psapi)
  target_compile_options(bench_monitors PRIVATE ${MUROVEX_WARNINGS})

  # The window's unanswered time and the memory while the preview shows a large picture.
  add_executable(bench_preview bench/win32/bench_preview.cpp)
  target_link_libraries(bench_preview PRIVATE murovex_win32 psapi)
  target_compile_options(bench_preview PRIVATE ${MUROVEX_WARNINGS})

  # The footprint benchmark and the floor program it measures against.
  add_executable(floor_tray WIN32 bench/win32/floor_tray.cpp)
  target_link_libraries(floor_tray PRIVATE shell32 user32)
  target_compile_options(floor_tray PRIVATE ${MUROVEX_WARNINGS})
  add_executable(bench_footprint bench/win32/bench_footprint.cpp bench/win32/footprint_runs.cpp
                 bench/win32/unix_process.cpp)
  target_link_libraries(bench_footprint PRIVATE murovex_core)
  target_compile_options(bench_footprint PRIVATE ${MUROVEX_WARNINGS})
  add_dependencies(bench_footprint murovex floor_tray)
endif()
