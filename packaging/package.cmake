# The Debian package lumora-eviewer, made by CPack (scripts/package): the two
# programs, the PDF library as their private library, the desktop entry and
# icons, the man pages and the documentation. Its dependencies are found by
# dpkg-shlibdeps from the programs and the library, plus what they start or
# read at run time.
if(NOT PROJECT_IS_TOP_LEVEL)
  return()
endif()

# The changelog's newest entry is this version, of this day.
file(STRINGS packaging/changelog changelog_entries REGEX "^lumora-eviewer \\(|^ -- ")
list(GET changelog_entries 0 changelog_newest)
list(GET changelog_entries 1 changelog_signed)
string(REGEX MATCH "^[0-9]+-([0-9]+)-([0-9]+)$" release_date "${LUMORA_RELEASE_DATE}")
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
math(EXPR month_index "${CMAKE_MATCH_1} - 1")
list(GET months ${month_index} release_month)
string(SUBSTRING "${LUMORA_RELEASE_DATE}" 0 4 release_year)
if(NOT changelog_newest MATCHES "^lumora-eviewer \\(${PROJECT_VERSION}\\)" OR
   NOT changelog_signed MATCHES ", ${CMAKE_MATCH_2} ${release_month} ${release_year} ")
  message(FATAL_ERROR "packaging/changelog: the newest entry must be version ${PROJECT_VERSION} "
                      "of ${LUMORA_RELEASE_DATE}")
endif()

# Man pages (with the version filled in) and the changelog compressed, as
# Debian keeps them: without a name or date in the gzip header.
set(compressed)
function(lumora_gzip source target)
  add_custom_command(OUTPUT ${target}
    COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" gzip ${source} ${target}
    DEPENDS ${source} VERBATIM)
  set(compressed ${compressed} ${target} PARENT_SCOPE)
endfunction()
foreach(page lumora-eviewer.1 lumora-render.1)
  configure_file(packaging/${page} ${PROJECT_BINARY_DIR}/man/${page} @ONLY)
  lumora_gzip(${PROJECT_BINARY_DIR}/man/${page} ${PROJECT_BINARY_DIR}/man/${page}.gz)
  install(FILES ${PROJECT_BINARY_DIR}/man/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
lumora_gzip(${PROJECT_SOURCE_DIR}/packaging/changelog ${PROJECT_BINARY_DIR}/changelog.gz)
add_custom_target(lumora_compressed_docs ALL DEPENDS ${compressed})

set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/lumora-eviewer)
# The user's README; the developer README stays with the sources.
install(FILES packaging/README packaging/copyright ${PROJECT_BINARY_DIR}/changelog.gz
        DESTINATION ${doc_dir})
install(FILES examples/beispielrechnung.xml examples/mehrseitig.xml DESTINATION ${doc_dir}/examples)

configure_file(packaging/lumora-eviewer.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/example.lumora.eviewer.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/example.lumora.eviewer.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/lumora-render.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME lumora-render)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumora-eviewer)
set(CPACK_PACKAGE_VENDOR "Lumora Software GmbH")
set(CPACK_PACKAGE_CONTACT "Lumora Software GmbH <info@lumora.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Lays out a German electronic invoice as a printed invoice and writes it\n\
as a PDF file next to the invoice or prints it. It reads UBL and CII\n\
invoices and credit notes, also the XML inside a ZUGFeRD / Factur-X PDF.\n\
lumora-eviewer is the desktop program, lumora-render its command-line\n\
renderer.")
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
