# Packs the game's data into build/game/{img,sound,script}, following
# assets/manifest.txt: pictures become .ytx / .ysf containers and scripts .dat
# files through the mlpack packer (a stage script only once it passes the
# packer's check); sounds and icons are copied. Each file is
# rebuilt only when its committed source (or the packer) changes. The game
# never reads assets/ itself.
set(MIRELUNE_ASSETS_DIR ${PROJECT_SOURCE_DIR}/assets)
set(MIRELUNE_MANIFEST ${MIRELUNE_ASSETS_DIR}/manifest.txt)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${MIRELUNE_MANIFEST})

set(_game_data_outputs)
set(_game_data_skipped 0)
file(STRINGS ${MIRELUNE_MANIFEST} _manifest_lines ENCODING UTF-8)
foreach(_line IN LISTS _manifest_lines)
    if(_line MATCHES "^[ \t]*(#|$)")
        continue()
    endif()
    string(REGEX MATCHALL "[^ \t]+" _fields "${_line}")
    list(GET _fields 0 _path)
    list(GET _fields 1 _kind)
    list(GET _fields 2 _file)
    set(_in ${MIRELUNE_ASSETS_DIR}/${_file})
    set(_out ${MIRELUNE_GAME_DIR}/${_path})
    if(_kind STREQUAL "surface")
        set(_command mlpack surface ${_in} ${_out})
    elseif(_kind STREQUAL "texture32")
        set(_command mlpack texture ${_in} ${_out} --bits 32)
    elseif(_kind STREQUAL "texture24")
        set(_command mlpack texture ${_in} ${_out} --bits 24)
    elseif(_kind STREQUAL "script")
        set(_command mlpack script ${_in} ${_out})
    elseif(_kind STREQUAL "stage")
        # checked against the manifest (every file it names), then packed
        set(_command mlpack stage ${_in} ${_out} --manifest ${MIRELUNE_MANIFEST})
    elseif(_kind MATCHES "^(picture|wave|music)$")
        set(_command ${CMAKE_COMMAND} -E copy ${_in} ${_out})
    else()
        message(FATAL_ERROR "assets/manifest.txt: unknown kind '${_kind}' for ${_path}")
    endif()
    list(GET _command 0 _tool)
    if(_tool STREQUAL "mlpack")
        if(NOT TARGET mlpack)
            math(EXPR _game_data_skipped "${_game_data_skipped} + 1")
            continue()
        endif()
        set(_depends ${_in} mlpack)
        if(_kind STREQUAL "stage")
            list(APPEND _depends ${MIRELUNE_MANIFEST})
        endif()
    else()
        set(_depends ${_in})
    endif()
    add_custom_command(OUTPUT ${_out}
        COMMAND ${_command}
        DEPENDS ${_depends}
        COMMENT "Game data ${_path}"
        VERBATIM)
    list(APPEND _game_data_outputs ${_out})
endforeach()
if(_game_data_skipped GREATER 0)
    message(STATUS "mlpack is not built yet: ${_game_data_skipped} pictures and scripts are not packed")
endif()

add_custom_target(mirelune_game_data ALL DEPENDS ${_game_data_outputs})
# Every packed file, for the install rules (cmake/Install.cmake).
set(MIRELUNE_GAME_DATA_FILES ${_game_data_outputs})
