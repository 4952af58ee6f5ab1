# The version of a release, set here once. Every build of the demo (native,
# web, Windows, the fuzzer) includes this file; demo-capture --version shows
# it and the packages are named by it.
set(TIDEGLOW_VERSION 1.0.0)
