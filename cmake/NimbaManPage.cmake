include(GNUInstallDirs)
find_program(SCDOC scdoc REQUIRED)

# nimba_man_page(<program> <scdoc source>)
# Renders <build>/man/<program>.1 from its scdoc source and installs it compressed, as Debian
# keeps manual pages.
function(nimba_man_page program source)
    set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
    add_custom_command(OUTPUT ${page} ${page}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
        COMMAND ${SCDOC} < ${source} > ${page}
        COMMAND gzip -9nc ${page} > ${page}.gz
        DEPENDS ${source}
        COMMENT "Writing the ${program} manual page")
    add_custom_target(${program}_man ALL DEPENDS ${page} ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
