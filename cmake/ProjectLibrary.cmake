# Every library of the editor is made by mqv_library, so each gets the project's warnings (as
# errors where MQV_WARNINGS_AS_ERRORS is on, as the test build has it) and includes by the
# project's folder names ("catalogue/Catalogue.h").
#
#   mqv_library(<name> SOURCES <files...> [PUBLIC <links...>] [PRIVATE <links...>])
#
# A link is PUBLIC only where one of the library's headers includes what it brings.
option(MQV_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

set(MQV_WARNINGS -Wall -Wextra)
if(MQV_WARNINGS_AS_ERRORS)
  list(APPEND MQV_WARNINGS -Werror)
endif()

function(mqv_library name)
  cmake_parse_arguments(PARSE_ARGV 1 library "" "" "SOURCES;PUBLIC;PRIVATE")
  add_library(${name} STATIC ${library_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${library_PUBLIC} PRIVATE ${library_PRIVATE})
  target_compile_options(${name} PRIVATE ${MQV_WARNINGS})
endfunction()
