<?php
// Stand-in for the page statistics service: /v3.2/<page address> with
// fields=engagement{count} and an access token of the application's form
// (16 digits, "|", 27 characters). The count is fixed: 1234.
$token = $_GET['access_token'] ?? '';
$fields = $_GET['fields'] ?? '';
header('Content-Type: application/json');
if (!preg_match('/^[0-9]{16}\|[A-Za-z0-9_-]{27}$/', $token)) {
    http_response_code(400);
    echo json_encode(['error' => ['message' => 'Invalid OAuth access token.', 'type' => 'OAuthException',
                                  'code' => 190]]);
    return;
}
// The page address as sent (the route has its empty segments dropped).
$raw = explode('?', $_SERVER['REQUEST_URI'], 2)[0];
$page = rawurldecode(substr($raw, strpos($raw, '/v3.2/') + strlen('/v3.2/')));
if ($page === '' || $fields !== 'engagement{count}') {
    http_response_code(400);
    echo json_encode(['error' => ['message' => 'Unsupported get request.', 'type' => 'GraphMethodException',
                                  'code' => 100]]);
    return;
}
echo json_encode(['engagement' => ['count' => 1234, 'social_sentence' => '1,234 people like this.'],
                  'id' => $page], JSON_UNESCAPED_SLASHES);
