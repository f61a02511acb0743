# Warning flags shared by every target of the project, probed before use.
include(CheckCXXCompilerFlag)

set(MELORIT_WARNING_FLAGS)
foreach(flag -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast -Wnon-virtual-dtor
             -Woverloaded-virtual -Wcast-align -Wformat=2 -Wimplicit-fallthrough)
  string(MAKE_C_IDENTIFIER "HAVE${flag}" var)
  check_cxx_compiler_flag(${flag} ${var})
  if(${var})
    list(APPEND MELORIT_WARNING_FLAGS ${flag})
  endif()
endforeach()
if(MELORIT_WERROR)
  list(APPEND MELORIT_WARNING_FLAGS -Werror)
endif()

if(MELORIT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Strings from char* must be deliberate; Qt's signal keywords stay out of the way.
set(MELORIT_QT_DEFINITIONS QT_NO_CAST_FROM_ASCII QT_NO_KEYWORDS QT_NO_CAST_TO_ASCII)

function(melorit_warnings target)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    return()
  endif()
  target_compile_options(${target} PRIVATE ${MELORIT_WARNING_FLAGS})
  target_compile_definitions(${target} PRIVATE ${MELORIT_QT_DEFINITIONS})
endfunction()
