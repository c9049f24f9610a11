# Cross build: adapters, views, murovex.exe, and the programs run under Wine.
enable_language(RC)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)

set(MUROVEX_WIN32_LIBS comctl32 ole32 oleaut32 uuid shell32 shlwapi version
    windowscodecs gdi32 user32 advapi32 comdlg32)

add_library(murovex_win32 STATIC ${MUROVEX_WIN32_SOURCES})
target_include_directories(murovex_win32 PUBLIC src)
target_link_libraries(murovex_win32 PUBLIC murovex_core ${MUROVEX_WIN32_LIBS})
target_compile_options(murovex_win32 PRIVATE ${MUROVEX_WARNINGS})

string(TIMESTAMP MUROVEX_BUILD_DATE "%Y-%m-%d")
configure_file(res/version.h.in ${CMAKE_BINARY_DIR}/generated/version.h @ONLY)
set_source_files_properties(res/murovex.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/murovex.manifest;${CMAKE_SOURCE_DIR}/res/murovex.ico;${CMAKE_BINARY_DIR}/generated/version.h")
add_executable(murovex WIN32 src/win32/main.cpp res/murovex.rc)
target_include_directories(murovex PRIVATE ${CMAKE_BINARY_DIR}/generated res)
target_link_libraries(murovex PRIVATE murovex_win32)
target_compile_options(murovex PRIVATE ${MUROVEX_WARNINGS})
set_target_properties(murovex PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/app)
add_custom_command(TARGET murovex POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/help ${CMAKE_BINARY_DIR}/app/help)

if(MUROVEX_TESTS)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  # The tests carry the program's manifest (UTF-8 code page) and their own main,
  # which also plays the second process of the single-instance tests.
  set_source_files_properties(tests/win32/win32_tests.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/murovex.manifest")
  add_executable(win32_tests ${MUROVEX_WIN32_TEST_SOURCES} ${MUROVEX_CONTRACT_TEST_SOURCES} tests/win32/win32_tests.rc)
  target_include_directories(win32_tests PRIVATE tests res)
  target_link_libraries(win32_tests PRIVATE murovex_win32 gtest)
  target_compile_options(win32_tests PRIVATE ${MUROVEX_WARNINGS})
  add_test(NAME win32_tests COMMAND win32_tests --gtest_brief=1)

  add_executable(e2e_tests ${MUROVEX_E2E_SOURCES})
  target_include_directories(e2e_tests PRIVATE tests)
  target_link_libraries(e2e_tests PRIVATE murovex_core gtest ${MUROVEX_WIN32_LIBS})
  target_compile_options(e2e_tests PRIVATE ${MUROVEX_WARNINGS})
  add_dependencies(e2e_tests murovex)
  add_test(NAME e2e_tests COMMAND e2e_tests --gtest_brief=1)
  set_tests_properties(e2e_tests PROPERTIES ENVIRONMENT "MUROVEX_APP_DIR=${CMAKE_BINARY_DIR}/app" TIMEOUT 900)

  add_executable(bench_trace bench/win32/bench_trace.cpp)
  target_link_libraries(bench_trace PRIVATE murovex_win32)
  target_compile_options(bench_trace PRIVATE ${MUROVEX_WARNINGS})
endif()
