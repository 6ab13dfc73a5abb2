# The program folder: the exe and the files it ships, in build/stage.
set(STAGE_DIR ${CMAKE_BINARY_DIR}/stage)
set(PMLIST_KEY "Pellmaris2026Clean" CACHE STRING "Key the location database is encoded with")
find_program(PERL perl REQUIRED)

set(SHIPPED_FILES settings.ini pmdb.lst info.ini PMwebs.lst)
file(GLOB SKIN_PICTURES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/pellmarisgui/*.jpg)

add_custom_command(
  OUTPUT ${STAGE_DIR}/PMlist.lst
  COMMAND ${CMAKE_COMMAND} -E make_directory ${STAGE_DIR}
  COMMAND ${PERL} ${CMAKE_SOURCE_DIR}/cmake/encode_pmlist.pl ${PMLIST_KEY}
          ${CMAKE_SOURCE_DIR}/resources/locations.txt ${STAGE_DIR}/PMlist.lst
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/locations.txt ${CMAKE_SOURCE_DIR}/cmake/encode_pmlist.pl
  COMMENT "Encoding the location database")

# The scanner's animation, drawn by a script of ours.
add_custom_command(
  OUTPUT ${STAGE_DIR}/SEARCH.AVI
  COMMAND ${CMAKE_COMMAND} -E make_directory ${STAGE_DIR}
  COMMAND ${PERL} ${CMAKE_SOURCE_DIR}/resources/make_search_avi.pl ${STAGE_DIR}/SEARCH.AVI
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/make_search_avi.pl
  COMMENT "Drawing SEARCH.AVI")

set(STAGED_COPIES ${STAGE_DIR}/SEARCH.AVI)
foreach(f ${SHIPPED_FILES})
  add_custom_command(OUTPUT ${STAGE_DIR}/${f}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/resources/${f} ${STAGE_DIR}/${f}
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/${f})
  list(APPEND STAGED_COPIES ${STAGE_DIR}/${f})
endforeach()
foreach(p ${SKIN_PICTURES})
  get_filename_component(n ${p} NAME)
  add_custom_command(OUTPUT ${STAGE_DIR}/pellmarisgui/${n}
    COMMAND ${CMAKE_COMMAND} -E copy ${p} ${STAGE_DIR}/pellmarisgui/${n}
    DEPENDS ${p})
  list(APPEND STAGED_COPIES ${STAGE_DIR}/pellmarisgui/${n})
endforeach()

add_custom_target(stage ALL
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Pellmaris> ${STAGE_DIR}/Pellmaris.exe
  DEPENDS Pellmaris ${STAGE_DIR}/PMlist.lst ${STAGED_COPIES})
