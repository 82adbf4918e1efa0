# Reads res/resources.txt, the one list of resource ids, and writes the header of named
# constants. Sets, for the folders that make the resources:
#   QUELMARINE_ASSETS   "id|generator|file" of each packed asset
#   QUELMARINE_ICONS, QUELMARINE_CURSORS   their ids
#   QUELMARINE_BITMAPS  "id|generator" of each bitmap (drawn by tools/<generator>)
# and the interface target quelmarine_resource_ids, which puts "res/ResourceIds.h" on the
# include path.
set(listFile ${CMAKE_CURRENT_LIST_DIR}/resources.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${listFile})
file(STRINGS ${listFile} lines)
set(QUELMARINE_ASSETS "")
set(QUELMARINE_ICONS "")
set(QUELMARINE_CURSORS "")
set(QUELMARINE_BITMAPS "")
set(constants "")
set(seenIds "")
foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*(#|$)")
        continue()
    endif()
    if(NOT line MATCHES "^([a-z]+)[ \t]+([0-9]+)[ \t]+([A-Za-z0-9]+)[ \t]+([a-z0-9]+)[ \t]+([^ \t]+)[ \t]*$")
        message(FATAL_ERROR "res/resources.txt: cannot read the line '${line}'")
    endif()
    set(kind ${CMAKE_MATCH_1})
    set(id ${CMAKE_MATCH_2})
    set(name ${CMAKE_MATCH_3})
    set(generator ${CMAKE_MATCH_4})
    set(file ${CMAKE_MATCH_5})
    if("${kind}:${id}" IN_LIST seenIds)
        message(FATAL_ERROR "res/resources.txt: ${kind} id ${id} is listed twice")
    endif()
    list(APPEND seenIds "${kind}:${id}")
    string(APPEND constants "inline constexpr std::uint16_t kResource${name} = ${id};\n")
    if(kind STREQUAL "asset")
        get_filename_component(stem ${file} NAME_WE)
        string(APPEND constants "inline constexpr const char* kResource${name}File = \"${stem}\";\n")
        list(APPEND QUELMARINE_ASSETS "${id}|${generator}|${file}")
    elseif(kind STREQUAL "icon")
        list(APPEND QUELMARINE_ICONS ${id})
    elseif(kind STREQUAL "cursor")
        list(APPEND QUELMARINE_CURSORS ${id})
    elseif(kind STREQUAL "bitmap")
        list(APPEND QUELMARINE_BITMAPS "${id}|${generator}")
    else()
        message(FATAL_ERROR "res/resources.txt: unknown kind '${kind}'")
    endif()
endforeach()

set(QUELMARINE_GENERATED_INCLUDE ${CMAKE_BINARY_DIR}/generated)
file(CONFIGURE OUTPUT ${QUELMARINE_GENERATED_INCLUDE}/res/ResourceIds.h CONTENT
"#pragma once
// Generated from res/resources.txt: the program's resource ids, by name.

#include <cstdint>

namespace quelmarine {

${constants}
} // namespace quelmarine
")
add_library(quelmarine_resource_ids INTERFACE)
target_include_directories(quelmarine_resource_ids INTERFACE ${QUELMARINE_GENERATED_INCLUDE})
