# The stricter warnings are for our own sources only: moc and uic output is left to Qt's defaults.
set(KAVRO_STRICT_WARNINGS -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wold-style-cast)

function(kavro_strict_warnings target)
    get_target_property(sources ${target} SOURCES)
    get_target_property(folder ${target} SOURCE_DIR)
    foreach(source IN LISTS sources)
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${folder})
        if(source MATCHES "\\.cpp$" AND NOT source MATCHES "_autogen/")
            set_property(SOURCE ${source} TARGET_DIRECTORY ${target} APPEND PROPERTY COMPILE_OPTIONS
                         ${KAVRO_STRICT_WARNINGS})
        endif()
    endforeach()
endfunction()

# Every target defined in a folder (and the folders below it) gets the stricter warnings; call at the
# end of the folder's CMakeLists.txt.
function(kavro_strict_warnings_in_folder folder)
    get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(NOT type STREQUAL "INTERFACE_LIBRARY" AND NOT type STREQUAL "UTILITY")
            kavro_strict_warnings(${target})
        endif()
    endforeach()
    get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
    foreach(subfolder IN LISTS subfolders)
        kavro_strict_warnings_in_folder(${subfolder})
    endforeach()
endfunction()
