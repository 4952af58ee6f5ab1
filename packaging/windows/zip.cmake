# The Windows zip's rules, included by the root CMakeLists.txt in the Windows
# build once its programs are defined (src/platform/windows/platform.cmake):
# the programs, the two DLLs, data/ and the texts, every line ending in CRLF.
set(PACKAGING ${PROJECT_SOURCE_DIR}/packaging)

# The text of a licence from the Debian packages' copyright file.
function(debian_licence NAME OUTPUT)
    file(STRINGS ${PROJECT_SOURCE_DIR}/debian/copyright LINES)
    set(TEXT "")
    set(INSIDE FALSE)
    foreach(LINE IN LISTS LINES)
        if(LINE STREQUAL "License: ${NAME}")
            set(INSIDE TRUE)
        elseif(INSIDE AND LINE MATCHES "^ ")
            string(REGEX REPLACE "^ \\.?" "" LINE "${LINE}")
            string(APPEND TEXT "${LINE}\n")
        elseif(INSIDE)
            break()
        endif()
    endforeach()
    set(${OUTPUT} "${TEXT}" PARENT_SCOPE)
endfunction()
debian_licence(Expat EXPAT_TEXT)
debian_licence(bitstream-vera FONT_TEXT)

# The Debian source packages the libraries were built from, as the prefix
# records them.
foreach(LIBRARY libsdl1.2 mpg123 libjpeg-turbo)
    file(READ ${WINDOWS_PREFIX}/share/windows-libraries/${LIBRARY} DSC)
    string(REGEX REPLACE "\\.dsc\n?$" "" DSC "${DSC}")
    string(REPLACE "_" " " DSC "${DSC}")
    string(MAKE_C_IDENTIFIER ${LIBRARY} KEY)
    set(SOURCE_${KEY} "${DSC}")
endforeach()
file(READ ${WINDOWS_PREFIX}/share/doc/libjpeg-turbo/LICENSE.md JPEG_LICENCE)
file(READ /usr/share/doc/mingw-w64-common/copyright MINGW_LICENCE)

# windows_text(TEMPLATE NAME): the template filled in as texts/NAME, every
# line ending in CRLF, the texts put in included (Notepad before Windows 10
# runs lines ending in LF alone together).
set(TEXTS ${CMAKE_BINARY_DIR}/texts)
function(windows_text TEMPLATE NAME)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TEMPLATE})
    file(READ ${TEMPLATE} TEXT)
    string(CONFIGURE "${TEXT}" TEXT @ONLY)
    string(REPLACE "\r\n" "\n" TEXT "${TEXT}")
    string(REPLACE "\n" "\r\n" TEXT "${TEXT}")
    file(WRITE ${TEXTS}/${NAME} "${TEXT}")
endfunction()
windows_text(${PACKAGING}/windows/README.txt README.txt)
windows_text(${PACKAGING}/windows/LICENSE.txt.in LICENSE.txt)
windows_text(${PACKAGING}/windows/THIRD-PARTY.txt.in THIRD-PARTY.txt)
windows_text(/usr/share/common-licenses/LGPL-2.1 LGPL-2.1.txt)

install(TARGETS tideglow tideglow-capture DESTINATION .)
install(FILES ${WINDOWS_PREFIX}/bin/libSDL-1-2-0.dll ${WINDOWS_PREFIX}/bin/libmpg123-0.dll
    ${TEXTS}/README.txt ${TEXTS}/LICENSE.txt ${TEXTS}/THIRD-PARTY.txt ${TEXTS}/LGPL-2.1.txt DESTINATION .)
install(DIRECTORY ${TIDEGLOW_DATA_DIR}/ DESTINATION data)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME tideglow-${TIDEGLOW_VERSION}-windows-x64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/zip)
include(CPack)
