# Run at the end of a direct install: rebuilds the MIME database and the desktop entries'
# MIME cache under the prefix, so that .zel and .grn files open in Tarvo+ right away. Skipped
# for an install into DESTDIR (a staging tree or a package), whose databases are built where
# the files finally land.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
  return()
endif()
if(IS_ABSOLUTE "${TARVO_DATADIR}")
  set(tarvo_data "${TARVO_DATADIR}")
else()
  set(tarvo_data "${CMAKE_INSTALL_PREFIX}/${TARVO_DATADIR}")
endif()
find_program(tarvo_update_mime update-mime-database)
find_program(tarvo_update_desktop update-desktop-database)
if(tarvo_update_mime)
  message(STATUS "Updating the MIME database in ${tarvo_data}/mime")
  execute_process(COMMAND "${tarvo_update_mime}" "${tarvo_data}/mime")
endif()
if(tarvo_update_desktop)
  message(STATUS "Updating the desktop entries' MIME cache in ${tarvo_data}/applications")
  execute_process(COMMAND "${tarvo_update_desktop}" "${tarvo_data}/applications")
endif()
