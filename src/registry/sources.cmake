# The registry room's files. The registry module is standard C++ only, so
# that it also builds for Windows where no Qt exists (tests/registry/wine/);
# the association command meets Qt strings at its edge.
set(SONGBINDER_REGISTRY_MODULE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/registry_module.cpp ${CMAKE_CURRENT_LIST_DIR}/registry_module.h)
set(SONGBINDER_ASSOCIATION_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/association.cpp ${CMAKE_CURRENT_LIST_DIR}/association.h
    ${CMAKE_CURRENT_LIST_DIR}/desktop_association.cpp
    ${CMAKE_CURRENT_LIST_DIR}/desktop_association.h)
