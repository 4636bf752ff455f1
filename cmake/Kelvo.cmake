# Every layer library takes all sources below its folder, so adding a module
# needs no edit here. Headers are included from the source root:
#   #include "core/scheduling/DateCondition.h"
set(KELVO_SOURCE_ROOT ${PROJECT_SOURCE_DIR}/source)

function(kelvo_add_layer name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${dir}/*.h)
  if(sources)
    add_library(${name} STATIC ${sources} ${headers})
    target_include_directories(${name} PUBLIC ${KELVO_SOURCE_ROOT})
    set(KELVO_LINK_SCOPE PUBLIC PARENT_SCOPE)
  else()
    # A layer whose modules are still to come links like a real one.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${KELVO_SOURCE_ROOT})
    set(KELVO_LINK_SCOPE INTERFACE PARENT_SCOPE)
  endif()
endfunction()

# One test program per subsystem folder under tests/<layer>/<folder>.
function(kelvo_add_test_dirs layer)
  file(GLOB dirs LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/${layer}/*)
  foreach(dir ${dirs})
    if(IS_DIRECTORY ${dir})
      get_filename_component(folder ${dir} NAME)
      file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
      if(sources)
        set(target test_${layer}_${folder})
        add_executable(${target} ${sources})
        target_link_libraries(${target} PRIVATE ${ARGN})
        add_test(NAME ${layer}/${folder} COMMAND ${target})
        set_tests_properties(${layer}/${folder} PROPERTIES TIMEOUT 600
          ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C;KELVO_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}/data")
      endif()
    endif()
  endforeach()
endfunction()
