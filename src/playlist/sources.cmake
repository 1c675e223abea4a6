# The playlist room's files. The document and its entries model are also
# built by the fuzz targets (fuzz/); they are QObjects, so a project that
# builds them runs moc.
set(_here ${CMAKE_CURRENT_LIST_DIR})
set(SONGBINDER_PLAYLIST_DOCUMENT_SOURCES
    ${_here}/playlist_document.cpp ${_here}/playlist_document.h
    ${_here}/entry_fingerprints.cpp ${_here}/entry_fingerprints.h
    ${_here}/playlist_edit.cpp ${_here}/playlist_edit.h
    ${_here}/playlist_model.cpp ${_here}/playlist_model.h
    ${_here}/moved_files.cpp ${_here}/moved_files.h)
set(SONGBINDER_PLAYLIST_COMMAND_SOURCES
    ${_here}/add_commands.cpp ${_here}/add_commands.h
    ${_here}/all_files_listing.cpp ${_here}/all_files_listing.h
    ${_here}/dropped_files.cpp ${_here}/dropped_files.h
    ${_here}/find_moved_files.cpp ${_here}/find_moved_files.h
    ${_here}/folder_walk.cpp ${_here}/folder_walk.h
    ${_here}/long_work.h
    ${_here}/missing_entries_work.cpp ${_here}/missing_entries_work.h
    ${_here}/remove_missing_entries.cpp ${_here}/remove_missing_entries.h
    ${_here}/root_commands.cpp ${_here}/root_commands.h
    ${_here}/unstorable_names.cpp ${_here}/unstorable_names.h)
unset(_here)
