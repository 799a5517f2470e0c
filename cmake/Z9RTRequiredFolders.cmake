# z9rt_add_required_folders(<where> <folder>...): adds each folder of <where> (a path from the
# top of the tree, for the message) and fails the configure by name when one is missing, so
# that a folder lost in a merge or a copy cannot silently take its targets and tests with it.
function(z9rt_add_required_folders where)
  foreach(folder ${ARGN})
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/CMakeLists.txt)
      message(FATAL_ERROR "The folder ${where}/${folder} (with its CMakeLists.txt) is missing")
    endif()
    add_subdirectory(${folder})
  endforeach()
endfunction()
