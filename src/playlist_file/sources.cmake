# The playlist_file room's files. The format (line split, directive grouping,
# the root decision) and the writer are also built by the fuzz targets
# (fuzz/).
set(_here ${CMAKE_CURRENT_LIST_DIR})
set(SONGBINDER_PLAYLIST_FORMAT_SOURCES
    ${_here}/playlist_format.cpp ${_here}/playlist_format.h
    ${_here}/playlist_writer.cpp ${_here}/playlist_writer.h)
set(SONGBINDER_PLAYLIST_FILE_SOURCES
    ${_here}/closing.cpp ${_here}/closing.h
    ${_here}/command_line.cpp ${_here}/command_line.h
    ${_here}/entry_checks.cpp ${_here}/entry_checks.h
    ${_here}/file_commands.cpp ${_here}/file_commands.h
    ${_here}/information_request.cpp ${_here}/information_request.h
    ${_here}/playlist_load.cpp ${_here}/playlist_load.h
    ${_here}/playlist_reader.cpp ${_here}/playlist_reader.h
    ${_here}/recent_playlists.cpp ${_here}/recent_playlists.h
    ${_here}/recovery_copy.cpp ${_here}/recovery_copy.h
    ${_here}/recovery_keeper.cpp ${_here}/recovery_keeper.h)
unset(_here)
