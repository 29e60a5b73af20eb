# Adds every immediate subdirectory of the current source directory that has a
# CMakeLists.txt, in name order, so each area brings its own tests, benchmarks or
# fuzz targets without editing a shared list.
function(vestrano_add_area_directories)
  file(GLOB entries LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT entries)
  foreach(entry IN LISTS entries)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${entry}
       AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${entry}/CMakeLists.txt)
      add_subdirectory(${entry})
    endif()
  endforeach()
endfunction()
