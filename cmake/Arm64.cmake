# The end-to-end tests against the arm64 package as installed on an arm64 Debian system, for the
# cross build of cmake/aarch64-linux-gnu.cmake. They are added when both paths below are set, as
# scripts/arm64.sh sets them; it installs the package into the root beforehand.
#
#   QUELVANE_ARM64_E2E    the host's build of the end-to-end tests (tests/e2e)
#   QUELVANE_ARM64_ROOT   an arm64 Debian root with the package installed
#
# The tests start the installed command, /usr/bin/quelvane, inside the root with proot, every
# arm64 program of it through qemu: the launcher finds its program and data folder, the font link
# resolves to the root's own fonts-liberation2, and only the root's libraries are there to load,
# so a library missing from the package's Depends cannot be found on the build machine instead.
# The chosen tests check the start-up report byte for byte, the window with its texts, scenarios
# loaded with keys and checked pixel by pixel, the potential converging, an edited boundary value,
# and exit status 0 on the close request.

if(QUELVANE_ARM64_E2E AND QUELVANE_ARM64_ROOT)
  find_program(QUELVANE_PROOT proot REQUIRED)
  find_program(QUELVANE_QEMU_AARCH64 qemu-aarch64-static REQUIRED)
  set(QUELVANE_ARM64_E2E_TESTS
    Accepted/CommandLine.ReportsOpensThePlacedWindowAndExitsCleanlyOnClose/NoArguments
    Accepted/CommandLine.ReportsOpensThePlacedWindowAndExitsCleanlyOnClose/WideGridAutoScaleTwo
    Rejected/CommandLine.ReportsOpensThePlacedWindowAndExitsCleanlyOnClose/NotANumber
    Rejected/CommandLine.ReportsOpensThePlacedWindowAndExitsCleanlyOnClose/GridYBeyond16Bits
    Font.TextsAreDrawnWithTheFontOfTheWorkingDirectory
    ScenarioKeys.LLoadsTheShownScenarioAndJAndKStepThroughThemWrappingAround
    LayerKey.QShowsThePotentialOfTheInfiniteCapacitorAndBack
    HelpKey.HidesAndShowsTheThreeHelpTextsOnly
    ParameterPanel.KeypadPlusOnTheLeftBoundaryValueTurnsTheLeftEdgeOfThePotentialRed
    Closing.CloseRequestAfterUseEndsTheProgramWithStatusZero
    Closing.CloseRequestWhilePaintingEndsTheProgramWithStatusZero
    EquipotentialKey.CDrawsTheCapacitorsLevelsStraightAndEvenlySpacedAndCHidesThem)
  # The installed command inside the root; the harness splits the command at blanks.
  set(QUELVANE_ARM64_RUN ${QUELVANE_PROOT} -q ${QUELVANE_QEMU_AARCH64} -r ${QUELVANE_ARM64_ROOT}
    -w /usr/share/quelvane -b /proc -b /dev -b /tmp/.X11-unix /usr/bin/quelvane)
  list(JOIN QUELVANE_ARM64_RUN " " QUELVANE_ARM64_COMMAND)
  set(QUELVANE_ARM64_E2E_ENVIRONMENT
    "QUELVANE_E2E_PROGRAM=${QUELVANE_ARM64_COMMAND}"
    "QUELVANE_E2E_WORKDIR=${QUELVANE_ARM64_ROOT}/usr/share/quelvane"
    # Under the emulator the first frame alone, with the graphics driver's shaders compiled by
    # its own code generator, can take 5 s on a busy machine.
    "QUELVANE_E2E_TIME_SCALE=4")
  # One ctest test per test of the harness, each named in full: a filter that no longer names a
  # test runs nothing, and gtest calls that a success.
  foreach(test IN LISTS QUELVANE_ARM64_E2E_TESTS)
    add_test(NAME arm64.${test} COMMAND ${QUELVANE_ARM64_E2E} --gtest_filter=${test})
    set_tests_properties(arm64.${test} PROPERTIES LABELS "e2e;arm64"
                         ENVIRONMENT "${QUELVANE_ARM64_E2E_ENVIRONMENT}"
                         FAIL_REGULAR_EXPRESSION "Running 0 tests")
  endforeach()
endif()
