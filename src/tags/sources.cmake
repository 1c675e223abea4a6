# The tags room's files: the ID3v1 reader, the genre names, the tag message
# and the command that shows it. The fuzz targets (fuzz/) build the same list.
set(SONGBINDER_TAGS_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/file_tag_command.cpp ${CMAKE_CURRENT_LIST_DIR}/file_tag_command.h
    ${CMAKE_CURRENT_LIST_DIR}/genres.cpp ${CMAKE_CURRENT_LIST_DIR}/genres.h
    ${CMAKE_CURRENT_LIST_DIR}/id3_tag.cpp ${CMAKE_CURRENT_LIST_DIR}/id3_tag.h
    ${CMAKE_CURRENT_LIST_DIR}/tag_message.cpp ${CMAKE_CURRENT_LIST_DIR}/tag_message.h)
