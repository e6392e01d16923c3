# The inspector's sources: target_sources(zpeditor PRIVATE ...)
