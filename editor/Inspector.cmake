# The inspector: the shared panel, its three views (Qt Designer files in resources/,
# compiled by uic) and the control definitions list behind its type menu (a Qt
# resource, initialised by ZPInspector's constructor since this is a static library).
target_sources(zpeditor PRIVATE
    ZPInspector.cpp
    ZPInspector.h
    ZPInspectorCodeText.cpp
    ZPInspectorCodeText.h
    ZPInspectorControl.cpp
    ZPInspectorControlDefinitions.cpp
    ZPInspectorControlDefinitions.h
    ZPInspectorDialog.cpp
    ${PROJECT_SOURCE_DIR}/resources/inspector.qrc
)
set_property(TARGET zpeditor APPEND PROPERTY AUTOUIC_SEARCH_PATHS ${PROJECT_SOURCE_DIR}/resources)
set_property(TARGET zpeditor PROPERTY AUTORCC ON)
