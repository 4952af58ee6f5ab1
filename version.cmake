# The version of a release, set here once. The one project of every build of
# the demo (native, web, Windows, the fuzzer) includes this file and writes
# the version into its build folder as version.txt, which the scripts read;
# demo-capture --version shows it and the packages are named by it.
set(TIDEGLOW_VERSION 1.0.0)
