# The platform room's files, by what needs them. Included by the program's
# build and by the projects that build a part of it (fuzz/, the registry
# suite for Windows), so each list is kept in one place.
set(_here ${CMAKE_CURRENT_LIST_DIR})

# Path rules, the file-system interface, how playlist entries are looked up
# and the text codecs.
set(SONGBINDER_PLATFORM_TEXT_SOURCES
    ${_here}/entry_lookup.cpp ${_here}/entry_lookup.h
    ${_here}/escaped_bytes.cpp ${_here}/escaped_bytes.h
    ${_here}/file_system.cpp ${_here}/file_system.h
    ${_here}/hex_digits.h
    ${_here}/path_rules.cpp ${_here}/path_rules.h
    ${_here}/text_codec.cpp ${_here}/text_codec.h
    ${_here}/utf8.h)
# The one writer of files (POSIX and standard C++ only): the native file
# system and the registry store both write through it.
set(SONGBINDER_SAFE_WRITE_SOURCES
    ${_here}/file_identity.h
    ${_here}/safe_write.cpp ${_here}/safe_write.h
    ${_here}/safe_write_steps.cpp ${_here}/safe_write_steps.h)
set(SONGBINDER_PLATFORM_CORE_SOURCES
    ${SONGBINDER_PLATFORM_TEXT_SOURCES}
    ${SONGBINDER_SAFE_WRITE_SOURCES}
    ${_here}/dialogs.h
    ${_here}/native_file_system.cpp ${_here}/native_file_system.h
    ${_here}/recovery_folder.cpp ${_here}/recovery_folder.h
    ${_here}/settings_store.cpp ${_here}/settings_store.h
    ${_here}/termination_signals.cpp ${_here}/termination_signals.h
    ${_here}/translations.cpp ${_here}/translations.h)
set(SONGBINDER_PLATFORM_UI_SOURCES
    ${_here}/qt_dialogs.cpp ${_here}/qt_dialogs.h
    ${_here}/window_placement.cpp ${_here}/window_placement.h)

# The file-type registry: standard C++ only, plus the system's own calls on
# Windows and a per-user store file elsewhere.
set(SONGBINDER_REGISTRY_BACKEND_SOURCES
    ${_here}/hex_digits.h
    ${_here}/registry_backend.h
    ${_here}/registry_memory.cpp ${_here}/registry_memory.h
    ${_here}/registry_text.cpp ${_here}/registry_text.h
    ${_here}/utf8.h)
set(SONGBINDER_REGISTRY_WINDOWS_SOURCES ${_here}/registry_backend_win.cpp)
set(SONGBINDER_REGISTRY_POSIX_SOURCES
    ${SONGBINDER_SAFE_WRITE_SOURCES}
    ${_here}/registry_store_posix.cpp ${_here}/registry_store_posix.h)
unset(_here)
