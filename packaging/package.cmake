# The Debian package lumora-eviewer, made by CPack (scripts/package): the two
# programs, the PDF library as their private library, the desktop entry and
# icons, the man pages and the documentation. Its dependencies are found by
# dpkg-shlibdeps from the programs and the library, plus what they start or
# read at run time.
if(NOT PROJECT_IS_TOP_LEVEL)
  return()
endif()

# Man pages compressed, as Debian keeps them.
set(man_pages)
foreach(page lumora-eviewer.1 lumora-render.1)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/man/${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" gzip ${PROJECT_SOURCE_DIR}/packaging/${page}
            ${PROJECT_BINARY_DIR}/man/${page}.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${page} VERBATIM)
  list(APPEND man_pages ${PROJECT_BINARY_DIR}/man/${page}.gz)
endforeach()
add_custom_target(lumora_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/lumora-eviewer)
install(FILES README.md packaging/copyright DESTINATION ${doc_dir})
install(FILES examples/beispielrechnung.xml examples/mehrseitig.xml DESTINATION ${doc_dir}/examples)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumora-eviewer)
set(CPACK_PACKAGE_VENDOR "Lumora Software GmbH")
set(CPACK_PACKAGE_CONTACT "Lumora Software GmbH <info@lumora.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Lays out a German electronic invoice (UBL XML) as a printed invoice and\n\
writes it as a PDF file next to the invoice or prints it. lumora-eviewer is\n\
the desktop program, lumora-render its command-line renderer.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.lumora.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps runs in the package's staging folder: the private folder
# relative to it.
string(REGEX REPLACE "^/+" "" private_dir_in_package "${LUMORA_PRIVATE_FULL_LIBDIR}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${private_dir_in_package}")
# Fonts for the invoice (DejaVu for the letters Liberation lacks), the desktop
# opener, the print client that sends the jobs, and the German texts of Qt's
# standard dialogs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation, fonts-dejavu-core, xdg-utils, cups-client, qt6-translations-l10n")
include(CPack)
