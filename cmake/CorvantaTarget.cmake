# Warnings as errors on every target of the project.
function(corvanta_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# Adds a GoogleTest executable, registered with CTest test by test.
# Usage: corvanta_test(NAME name SOURCES a.cpp b.cpp LIBS lib1 lib2 [ENV VAR=value ...])
function(corvanta_test)
    cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;ENV" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    corvanta_warnings(${T_NAME})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
    # The environment travels through the launcher: a list in the ENVIRONMENT property
    # would be split apart by the test discovery.
    set_property(TARGET ${T_NAME} PROPERTY CROSSCOMPILING_EMULATOR
        ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen CORVANTA_BUILD_DIR=${CMAKE_BINARY_DIR}
        CORVANTA_SOURCE_DIR=${CMAKE_SOURCE_DIR} ${T_ENV})
    gtest_discover_tests(${T_NAME}
        WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
        DISCOVERY_TIMEOUT 60)
endfunction()

# Adds the child folders of the current folder that hold a CMakeLists.txt: the named ones
# in the order given (a piece that is not there is left out), or, without names, every
# one in name order.
# Usage: corvanta_add_children([folder ...])
function(corvanta_add_children)
    set(children ${ARGN})
    if(NOT children)
        file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
             ${CMAKE_CURRENT_SOURCE_DIR}/*)
        list(SORT children)
    endif()
    foreach(child IN LISTS children)
        if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child}
           AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
            add_subdirectory(${child})
        endif()
    endforeach()
endfunction()
