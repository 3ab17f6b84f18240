# Builds the API reference and checks it against the public headers:
#  - the build itself fails on any Doxygen warning (an undocumented public member);
#  - every exported class has its page, class<Name>.html, linked from the main page;
#  - every Q_PROPERTY of a class is listed under "Properties" together with its
#    style-sheet name, qproperty-<name> (and, with a setter, marked "write");
#  - every signal is listed under "Signals", every public or protected slot under
#    "Public Slots" or "Protected Slots".
# The host framework's stand-ins (UxProductInfo.h, UxResourceMgr.h) are left out: hosts
# replace them. Run with -DBUILD_DIR=<build tree> -DTARGET=<docs target>
# -DINCLUDE_DIR=<include/> -DHTML_DIR=<build tree>/docs/html, and -DWRITABLE_LABELS=ON
# when the reference was built with join_properties.pl, to check that properties with a
# setter are shown as writable. Without BUILD_DIR the pages in HTML_DIR are checked as
# they are.

foreach(var INCLUDE_DIR HTML_DIR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "check_reference.cmake needs -D${var}=...")
    endif()
endforeach()

if(DEFINED BUILD_DIR)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${TARGET}
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "Building the API reference failed (a Doxygen warning fails it):\n"
                            "${output}")
    endif()
endif()

set(failures)
set(properties_seen 0)
set(signals_seen 0)
set(slots_seen 0)

# The part of a class page listing one kind of member: from the heading's anchor to the
# end of its table; empty when the page has no such heading.
function(section_of page anchor out)
    string(FIND "${page}" "name=\"${anchor}\"" at)
    if(at EQUAL -1)
        set(${out} "" PARENT_SCOPE)
        return()
    endif()
    string(SUBSTRING "${page}" ${at} -1 rest)
    string(FIND "${rest}" "</table>" end)
    string(SUBSTRING "${rest}" 0 ${end} rest)
    set(${out} "${rest}" PARENT_SCOPE)
endfunction()

file(READ ${HTML_DIR}/index.html main_page)
file(GLOB headers ${INCLUDE_DIR}/*.h)
list(FILTER headers EXCLUDE REGEX "/(UxProductInfo|UxResourceMgr)\\.h$")

foreach(header IN LISTS headers)
    get_filename_component(header_name ${header} NAME)
    file(READ ${header} text)
    # Declarations only: comments go, and so do characters with a meaning in CMake lists.
    string(REGEX REPLACE "//[^\n]*" "" text "${text}")
    string(REGEX REPLACE "[][;\\]" " " text "${text}")

    string(REGEX MATCH "class[ \t\n]+COMMONCTRLS_EXPORT[ \t\n]+([A-Za-z_][A-Za-z0-9_]*)" found
           "${text}")
    if(NOT found)
        list(APPEND failures "${header_name}: no exported class")
        continue()
    endif()
    set(class ${CMAKE_MATCH_1})
    set(page_file ${HTML_DIR}/class${class}.html)
    if(NOT EXISTS ${page_file})
        list(APPEND failures "${class}: no page class${class}.html")
        continue()
    endif()
    file(READ ${page_file} page)
    string(FIND "${main_page}" "class${class}.html" linked)
    if(linked EQUAL -1)
        list(APPEND failures "${class}: the main page does not link to it")
    endif()

    section_of("${page}" "properties" listed)
    string(REGEX MATCHALL "Q_PROPERTY\\([^)]*\\)" declarations "${text}")
    foreach(declaration IN LISTS declarations)
        if(NOT declaration MATCHES
           "^Q_PROPERTY\\([ \t\n]*[A-Za-z_:<>]+[ \t\n]+([A-Za-z_][A-Za-z0-9_]*)")
            list(APPEND failures "${class}: cannot read ${declaration}")
            continue()
        endif()
        set(property ${CMAKE_MATCH_1})
        math(EXPR properties_seen "${properties_seen} + 1")
        # Doxygen marks a property "write" only when it has read the setter's name.
        if(WRITABLE_LABELS AND declaration MATCHES "[ \t\n]WRITE[ \t\n]")
            string(FIND "${page}" "${class}::${property}</td>" at)
            set(labels "")
            if(NOT at EQUAL -1)
                string(SUBSTRING "${page}" ${at} -1 labels)
                string(FIND "${labels}" "class=\"memdoc\"" end)
                string(SUBSTRING "${labels}" 0 ${end} labels)
            endif()
            string(FIND "${labels}" ">write<" at)
            if(at EQUAL -1)
                list(APPEND failures "${class}: property ${property} is not shown as writable")
            endif()
        endif()
        string(FIND "${listed}" ">${property}<" at)
        if(at EQUAL -1)
            list(APPEND failures "${class}: property ${property} is not under Properties")
        endif()
        string(FIND "${listed}" "qproperty-${property}" at)
        if(at EQUAL -1)
            list(APPEND failures "${class}: property ${property} is listed without its \
style-sheet name qproperty-${property} (name it in the property's brief)")
        endif()
    endforeach()

    # Signals and slots, section by section of the class body.
    section_of("${page}" "signals" signal_list)
    section_of("${page}" "pub-slots" public_slot_list)
    section_of("${page}" "pro-slots" protected_slot_list)
    string(REPLACE "\n" ";" lines "${text}")
    set(kind "")
    foreach(line IN LISTS lines)
        string(STRIP "${line}" line)
        if(line MATCHES "^(signals|Q_SIGNALS)[ \t]*:")
            set(kind signal)
        elseif(line MATCHES "^public[ \t]+(slots|Q_SLOTS)[ \t]*:")
            set(kind public_slot)
        elseif(line MATCHES "^protected[ \t]+(slots|Q_SLOTS)[ \t]*:")
            set(kind protected_slot)
        elseif(line MATCHES "^(public|protected|private)([ \t]+(slots|Q_SLOTS))?[ \t]*:"
               OR line MATCHES "^}")
            set(kind "")
        elseif(kind AND line MATCHES "([A-Za-z_][A-Za-z0-9_]*)[ \t]*\\(")
            set(member ${CMAKE_MATCH_1})
            if(kind STREQUAL "signal")
                math(EXPR signals_seen "${signals_seen} + 1")
                set(where "${signal_list}")
                set(heading "Signals")
            else()
                math(EXPR slots_seen "${slots_seen} + 1")
                if(kind STREQUAL "public_slot")
                    set(where "${public_slot_list}")
                    set(heading "Public Slots")
                else()
                    set(where "${protected_slot_list}")
                    set(heading "Protected Slots")
                endif()
            endif()
            string(FIND "${where}" ">${member}<" at)
            if(at EQUAL -1)
                list(APPEND failures "${class}: ${member} is not under ${heading}")
            endif()
        endif()
    endforeach()
endforeach()

# A pattern that stopped matching the headers must not pass for a clean reference.
list(LENGTH headers header_count)
if(header_count EQUAL 0 OR properties_seen EQUAL 0 OR signals_seen EQUAL 0
   OR slots_seen EQUAL 0)
    list(APPEND failures "read ${header_count} headers, ${properties_seen} properties, \
${signals_seen} signals, ${slots_seen} slots: the header patterns no longer match")
endif()

if(failures)
    list(JOIN failures "\n  " report)
    message(FATAL_ERROR "The API reference misses:\n  ${report}")
endif()
message(STATUS "API reference: ${header_count} class pages, ${properties_seen} properties, "
               "${signals_seen} signals, ${slots_seen} slots checked")
