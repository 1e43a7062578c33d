# The Qt windows: the four forms, the JPEG pictures they show and the message
# boxes behind the library's messages. The calculation itself is steamcalc_command.
# GLOBAL: app/, tools/ and the widgets tests link Qt too. Qt Test is looked
# for only where it is used: tests/ and tools/take_screenshots.
find_package(Qt6 REQUIRED COMPONENTS Widgets GLOBAL)
find_package(JPEG REQUIRED GLOBAL)

add_library(steamcalc_ui STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/application.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/main_window.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/authors_window.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/about_window.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/saturation_pressure_window.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/jpeg_image.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/message_boxes.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/window_style.cpp)
set_target_properties(steamcalc_ui PROPERTIES AUTOMOC ON)
target_include_directories(steamcalc_ui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(steamcalc_ui PUBLIC Qt6::Widgets steamcalc_command PRIVATE JPEG::JPEG)

# The two pictures travel inside the program as Qt resources (:/emblem.jpg,
# :/hs_diagram.jpg) and are decoded from memory at run time.
qt_add_resources(steamcalc_ui pictures
  PREFIX "/"
  BASE ${PROJECT_SOURCE_DIR}/resources
  FILES ${PROJECT_SOURCE_DIR}/resources/emblem.jpg ${PROJECT_SOURCE_DIR}/resources/hs_diagram.jpg)
