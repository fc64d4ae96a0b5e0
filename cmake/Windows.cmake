# The Windows build's zip, and the end-to-end tests that start the zip's program under Wine.
#
#   windows_zip   quelvane-<version>-windows-x64.zip in the build folder, holding one folder of
#                 the same name: quelvane.exe, courier.ttf with its licence, README.txt and the
#                 project's licence. The program reads courier.ttf from its working directory,
#                 and Windows starts a double-clicked program in its own folder.
#
#   QUELVANE_WINDOWS_E2E   the Linux build of the end-to-end tests (tests/e2e); when given, most
#                 of them run against the unpacked zip's program under Wine (see below).

set(QUELVANE_ZIP_NAME quelvane-${PROJECT_VERSION}-windows-x64)
set(QUELVANE_ZIP ${CMAKE_BINARY_DIR}/${QUELVANE_ZIP_NAME}.zip)
set(QUELVANE_ZIP_DIR ${CMAKE_BINARY_DIR}/zip/${QUELVANE_ZIP_NAME})
set(QUELVANE_WINDOWS_PACKAGING ${CMAKE_CURRENT_LIST_DIR}/../packaging/windows)

# Windows' own editors want CRLF line ends in the texts.
configure_file(${QUELVANE_WINDOWS_PACKAGING}/README.txt.in ${CMAKE_BINARY_DIR}/README.txt
               @ONLY NEWLINE_STYLE CRLF)
configure_file(${QUELVANE_WINDOWS_PACKAGING}/courier-LICENSE.txt
               ${CMAKE_BINARY_DIR}/courier-LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_CURRENT_LIST_DIR}/../LICENSE ${CMAKE_BINARY_DIR}/LICENSE.txt @ONLY
               NEWLINE_STYLE CRLF)

add_custom_command(OUTPUT ${QUELVANE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/zip ${QUELVANE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QUELVANE_ZIP_DIR}
  COMMAND ${CMAKE_STRIP} -o ${QUELVANE_ZIP_DIR}/quelvane.exe $<TARGET_FILE:quelvane>
  COMMAND ${CMAKE_COMMAND} -E copy ${QUELVANE_FONT} ${QUELVANE_ZIP_DIR}/courier.ttf
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/courier-LICENSE.txt
          ${CMAKE_BINARY_DIR}/README.txt ${CMAKE_BINARY_DIR}/LICENSE.txt ${QUELVANE_ZIP_DIR}
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/zip
          ${CMAKE_COMMAND} -E tar cf ${QUELVANE_ZIP} --format=zip ${QUELVANE_ZIP_NAME}
  DEPENDS quelvane ${QUELVANE_FONT} ${CMAKE_BINARY_DIR}/README.txt
          ${CMAKE_BINARY_DIR}/courier-LICENSE.txt ${CMAKE_BINARY_DIR}/LICENSE.txt
  COMMENT "Packing ${QUELVANE_ZIP_NAME}.zip")
add_custom_target(windows_zip ALL DEPENDS ${QUELVANE_ZIP})

# The Linux end-to-end tests that show the Windows program behaves as the Linux one, run against
# the zip's program as scripts/windows.sh unpacks it into unzipped/, under Wine: the start-up
# report, the window's title (every test finds the window by it), scenarios loaded with keys and
# the layer, help and parameter keys checked pixel by pixel, painting with the mouse, and exit
# status 0 on the close request. Left out, as Windows or Wine differ from a bare X server:
#   CommandLine    Windows places the window's frame where X places the client area, and keeps
#                  windows within the screen's size;
#   the focus rule a click on a window without the focus gives it the focus on Windows;
#   painting from beside the window, and a pointer moved in at once: Wine learns where the
#                  pointer is only from the events that reach its own, ready windows;
#   Unshowable     Wine maps windows of its own even when the program opens none;
#   hard-brush strokes: on a busy machine, now and then a picture under Wine shows a stroke's
#                  disc partly drawn, which these tests forbid; where that comes from is not known.
# The program starts with a Wine server of its own (cmake/wine-alone), on the test's own display,
# in a Wine prefix apart from the one whose lasting server the unit and display tests share.
function(quelvane_wine_e2e name filter)
  add_test(NAME wine_e2e.${name} COMMAND ${QUELVANE_WINDOWS_E2E} --gtest_filter=${filter})
  set(program ${CMAKE_BINARY_DIR}/unzipped/${QUELVANE_ZIP_NAME})
  set(environment
    "QUELVANE_E2E_PROGRAM=${CMAKE_CURRENT_FUNCTION_LIST_DIR}/wine-alone ${program}/quelvane.exe"
    "QUELVANE_E2E_WORKDIR=${program}"
    "QUELVANE_E2E_GIVE_FOCUS=1"
    "QUELVANE_E2E_CRLF=1"
    "WINEPREFIX=${CMAKE_BINARY_DIR}/wine-e2e")
  # A filter that matches no test must not pass.
  set_tests_properties(wine_e2e.${name} PROPERTIES LABELS "e2e;wine" ENVIRONMENT "${environment}"
    FAIL_REGULAR_EXPRESSION "0 tests from 0 test suites ran")
endfunction()

if(QUELVANE_TESTS AND QUELVANE_WINDOWS_E2E)
  quelvane_wine_e2e(Report Font.WithoutTheFontFileTheProgramRunsAndOnlyTheTextsAreMissing)
  quelvane_wine_e2e(Keys "ScenarioKeys.*:LayerKey.*:HelpKey.*:ParameterPanel.*:UnboundKey.*")
  quelvane_wine_e2e(Painting "Scale/Painting.SoftBrush*")
  quelvane_wine_e2e(Closing "Closing.*")
  quelvane_wine_e2e(Measure "EquipotentialKey.*:ProbeKey.*:CrossSectionKey.*")
  quelvane_wine_e2e(Metal "MetalBrush.*")
endif()
